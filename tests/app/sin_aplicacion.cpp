// A program built from the engine that defines no application object: its
// entry point must say so and exit with -1.
