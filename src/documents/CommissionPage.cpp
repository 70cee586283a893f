// CommissionPage
