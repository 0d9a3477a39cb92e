// punycode
