// clsPrint
