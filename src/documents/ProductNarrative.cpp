// ProductNarrative
