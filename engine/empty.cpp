// Placeholder for an engine part that has no sources yet.
