// The send dialog's picker title lives at this string-table id in the program.
#pragma once
#define IDS_DESTINATION_TITLE 102
