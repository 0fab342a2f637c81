"""Demo resource service of Velmora: catalog, pages, package programs and the files inside them."""
