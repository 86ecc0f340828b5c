namespace tessvane {}
