# The Win32 program: filled in with the main window and the removal system.
