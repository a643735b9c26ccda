// The help pages and the logo live in a static library: their resource object is kept only when
// something calls its initialiser. Call before using ":/help" or ":/extras".
#pragma once

void ovEnsureExtrasResources();
