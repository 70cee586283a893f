// RateTool
