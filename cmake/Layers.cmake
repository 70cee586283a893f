# The layers of src/, bottom to top, and the library target of each. A layer
# includes from and links to the layers below it only.
set(QUORAVEL_LAYER_FOLDERS foundation runs model rates surface relay pricing documents app)
set(QUORAVEL_LAYER_TARGETS quoravel_foundation quoravel_runs quoravel_model quoravel_rates quoravel_surface
    quoravel_relay quoravel_pricing quoravel_documents quoravel_app)
