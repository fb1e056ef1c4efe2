#pragma once

#include "fit_check.h"

#include <QString>

// Renders each dialog template in English and Chinese to
// <folder>/template_<id>_<en|zh>.png and checks that its texts fit; returns
// the number of files written.
int RenderTemplates(const QString& folder, FitCheck& fit);
