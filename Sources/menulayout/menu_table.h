// The menu screen table and the menu item record.
#pragma once
