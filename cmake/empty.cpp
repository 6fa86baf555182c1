// Keeps the game library non-empty while the tree is being laid out.
