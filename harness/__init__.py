"""What the stress run (stress/) and the comparison with bare mpv (bench/) share: their
private X server, window manager and sound server, grabs of the screen through libX11, and
what they know of the player's main window. Standard library only."""
