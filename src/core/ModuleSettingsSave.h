#pragma once

struct AppContext;

// Opens the module settings and performs their Save, which stores the workstation's settings and
// recomputes themeId and scrollSpeed (the administrator log-in and Print Ticket do this).
void performModuleSettingsSave(AppContext& ctx);
