// LedgerSection
