#include "model/CatalogRecord.h"

#include "model/TableFields.h"
#include "store/DataSet.h"

int TCatalogRecord::Id() const
{
    return Integer(CatalogField::Id);
}

int TCatalogRecord::Width() const
{
    return Integer(CatalogField::Width);
}

int TCatalogRecord::Price() const
{
    return Integer(CatalogField::Price);
}

int TCatalogRecord::Income() const
{
    return Integer(CatalogField::Income);
}

int TCatalogRecord::Wear() const
{
    return Integer(CatalogField::Wear);
}

int TCatalogRecord::Build() const
{
    return Integer(CatalogField::Build);
}

std::string TCatalogRecord::Name() const
{
    return table_.FieldNamed(CatalogField::Name).AsString();
}

int TCatalogRecord::Integer(const char *field) const
{
    return table_.FieldNamed(field).AsInteger();
}
