// clsPRiderNotice
