# The Windows C runtime fails to open a folder with "Permission denied".
s/: Is a directory$/: Permission denied/
