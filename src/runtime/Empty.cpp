// A translation unit with no content: CMake needs at least one source for a
// library whose code comes entirely from other archives.
