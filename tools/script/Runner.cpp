// The session runner.
