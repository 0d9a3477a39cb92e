// character_escapes
