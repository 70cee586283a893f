// clsPrintFrame
