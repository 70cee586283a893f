// VsvFile
