// Filled in by the model work.
