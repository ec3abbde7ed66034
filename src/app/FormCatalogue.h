#pragma once

// Puts every screen of the program into its slot's factory.
void registraSchermi();
