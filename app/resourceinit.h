#pragma once
// Registers the compiled-in resources (icons, pictures, translations). The
// resources live in a static library, so they are registered by hand once.
void initGaitForgeResources();
