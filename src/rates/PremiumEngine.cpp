// PremiumEngine
