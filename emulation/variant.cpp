// Written by the OLE Automation work.
