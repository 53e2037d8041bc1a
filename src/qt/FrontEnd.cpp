// Filled in by the Qt front end.
