// Identifiers of the module's dialogs, controls and menu commands.
#pragma once

#define IDD_PREFERENCES 216
#define IDR_PREFERENCES_MENU 216
#define IDD_ABOUT 221

#define IDC_UNITS_METRES 288
#define IDC_UNITS_FEET 289
#define IDC_PRECISION 290
#define IDC_TEXT_SIZE 291
#define IDC_ZOOM_BORDER 292
#define IDC_CSV_OPENER 330
#define IDC_ZOOM_BORDER_LABEL 338
#define IDC_TEXT_SCALE 341
#define IDC_TEXT_ROTATION 342

#define IDC_ABOUT_VERSION 326
#define IDC_ABOUT_DATE 327
#define IDC_ABOUT_CAD_VERSION 337

#define ID_HELP_ABOUT 32770
