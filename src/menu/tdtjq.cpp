#include "tdtjq.h"

Tdtjq::Tdtjq(QWidget* parent) : app::Form(parent)
{
    setObjectName(QStringLiteral("dtjq"));
}
