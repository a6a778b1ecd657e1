// First cuts of the list actions that their issues replace, file by file.
// Every action is built now; new captions start their first cut here.
#include "lists/list_actions.h"
