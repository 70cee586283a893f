// Enumerations
