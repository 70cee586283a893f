// clsPClassInfo
