// RateReaders
