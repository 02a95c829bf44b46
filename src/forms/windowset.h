// The ten windows of the program, created once at start-up in a fixed order and
// alive until the end. A window whose creation handler fails (a data file it
// cannot read) is reported in the error box and start-up goes on.
#pragma once

// Creates FormGlowna, FormWarstwy, FormWarunkiPoczatkowe, FormDaneProj, AboutBox,
// FormSystem1..4 and FormRaportNew, running each one's FormCreate in turn.
void CreateWindowSet();
// Destroys them (chart windows included) and resets the global pointers.
void DestroyWindowSet();
