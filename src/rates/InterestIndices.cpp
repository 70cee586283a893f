// InterestIndices
