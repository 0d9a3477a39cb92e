// mime_words
