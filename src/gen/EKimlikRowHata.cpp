#include "gen/EKimlikRowHata.h"

EKimlikRowHata::EKimlikRowHata(QString message, ::Field *field)
    : AppError(std::move(message)), FField(field)
{
}
