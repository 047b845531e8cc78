#include "ui/planner/ZUDPAppointmentEdit.h"

IMPLEMENT_DYNAMIC(CZUDPAppointmentEdit, CEdit)
