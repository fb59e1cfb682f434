// Anchor source for the resource library.
