// PageRenderer
