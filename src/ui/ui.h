#pragma once

// The widget layer in one include.
#include "ui/button.h"
#include "ui/column.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/indicators.h"
#include "ui/label.h"
#include "ui/list_view.h"
#include "ui/message_box.h"
#include "ui/message_target.h"
#include "ui/panel.h"
#include "ui/popup_menu.h"
