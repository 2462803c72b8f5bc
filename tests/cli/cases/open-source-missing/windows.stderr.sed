# A path that continues below a file: Windows reports that path as not found.
s/: Not a directory$/: No such file or directory/
