// ClassComparisonPage
