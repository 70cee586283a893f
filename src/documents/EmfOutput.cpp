// EmfOutput
