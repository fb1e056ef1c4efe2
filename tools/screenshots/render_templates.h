#pragma once

#include <QString>

// Renders each dialog template in English and Chinese to
// <folder>/template_<id>_<en|zh>.png; returns the number of files written.
int RenderTemplates(const QString& folder);
