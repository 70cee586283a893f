// UnderwritingGuidelines
