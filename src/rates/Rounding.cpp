// Rounding
