// ProductInfo
