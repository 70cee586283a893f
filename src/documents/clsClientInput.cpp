// clsClientInput
