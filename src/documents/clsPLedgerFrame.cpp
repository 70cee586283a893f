// clsPLedgerFrame
