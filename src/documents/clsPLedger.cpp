// clsPLedger
