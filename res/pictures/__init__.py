"""The drawing behind Lantrel's pictures: a small RGB canvas with shaded
shapes, the BMP, icon and cursor writers, and one module per picture
(genie, mouse, dinosaur, icon, cursor).  res/make_pictures.py writes them."""
