// A file that no layer claims.
