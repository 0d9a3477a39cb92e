// byte_codecs
