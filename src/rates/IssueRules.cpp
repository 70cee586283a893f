// IssueRules
