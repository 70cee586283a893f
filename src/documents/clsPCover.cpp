// clsPCover
