#pragma once

#include <pugixml.hpp>

// Something that writes itself into an XML element of the notes file and reads itself back.
class ITiXmlSaveLoad {
public:
    // Writes this object's content into the element.
    virtual void Save(pugi::xml_node element) const = 0;
    // Reads this object's content from the element; what the element lacks is left as it was.
    virtual void Load(pugi::xml_node element) = 0;
    virtual ~ITiXmlSaveLoad() = default;
};
