// RelayExchange
