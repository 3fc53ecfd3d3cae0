' A script error: the host prints its line and ends with status 1.
Selvar.NoSuchMethod
