# Qt Test executables of this part
